# Slots follow URL order. The first "http:" of an episode URL becomes
# "https:", nothing else does; file: URLs play as they are.
start 3:02:05
feed 0
item audio/mpeg https://cdn.example/a.mp3
item audio/mpeg http://cdn.example/a.mp3
item audio/mpeg http://cdn.example/?u=http://x
item audio/mpeg file:///tmp/a.mp3
load
ready
end
wait 3477
ready
end
wait 3600
ready
end
wait 3600
== what happens
[0] begins isPlaying false
[0] begins hasEnded false
[0] begins titleLabel is Loading ...
[0] begins showingAlert false
[0] begins errorMessage Unknown Error
[0] begins wheelTurning false
[0] begins wheelAngle 0
[0] begins paused false
[0] begins onAir none
[0] load
[0] say Days of podcast: 0
[0] onAir 3 https://cdn.example/a.mp3 "" of "" art "" length 0
[0] say https://cdn.example/a.mp3
[0] open https://cdn.example/a.mp3
[0] seek 125
[0] play
[0] isPlaying true
[0] isPlaying false
[0] hasEnded true
[0] titleLabel Next in 3477 secs...
[0] wheelTurning true
[0] wheelAngle 3000
[0] wheelTurning false
[0] wheelAngle 0
[3477] hasEnded false
[3477] load
[3477] say Days of podcast: 0
[3477] onAir 0 file:///tmp/a.mp3 "" of "" art "" length 0
[3477] say file:///tmp/a.mp3
[3477] close
[3477] open file:///tmp/a.mp3
[3477] seek 2
[3477] play
[3477] isPlaying true
[3477] isPlaying false
[3477] hasEnded true
[3477] titleLabel Next in 3600 secs...
[3477] wheelTurning true
[3477] wheelAngle 3000
[3477] wheelTurning false
[3477] wheelAngle 0
[7077] hasEnded false
[7077] load
[7077] say Days of podcast: 0
[7077] onAir 1 https://cdn.example/?u=http://x "" of "" art "" length 0
[7077] say https://cdn.example/?u=http://x
[7077] close
[7077] open https://cdn.example/?u=http://x
[7077] seek 2
[7077] play
[7077] isPlaying true
[7077] isPlaying false
[7077] hasEnded true
[7077] wheelTurning true
[7077] wheelAngle 3000
[7077] wheelTurning false
[7077] wheelAngle 0
[10677] hasEnded false
[10677] load
[10677] say Days of podcast: 0
[10677] onAir 2 https://cdn.example/a.mp3 "" of "" art "" length 0
[10677] say https://cdn.example/a.mp3
[10677] close
[10677] open https://cdn.example/a.mp3
