# Without a stream title, the feed item whose link is the episode's http
# form labels it "Show " + the last "#" piece, lower-cased and untrimmed;
# no such item, or no title, is "Unlabeled". Each lookup prints the URL and
# its http form. Six slots, six items.
start 3:02:05
feed 0
item audio/mpeg https://cdn.example/e0.mp3 | link=http://cdn.example/e0.mp3 | title=Morning Show #42
item audio/mpeg https://cdn.example/e1.mp3 | link=http://cdn.example/e1.mp3 | title=Morning Mix
item audio/mpeg https://cdn.example/e2.mp3 | link=http://cdn.example/e2.mp3 | title=A # B
item audio/mpeg https://cdn.example/e3.mp3 | link=http://cdn.example/e3.mp3 | title=##
item audio/mpeg https://cdn.example/e4.mp3 | link=http://cdn.example/e4.mp3
item audio/mpeg https://cdn.example/e5.mp3 | link=https://cdn.example/e5.mp3 | title=Morning Show #42
load
ready
metadata-none
end
wait 3477
ready
metadata-none
end
wait 3600
ready
metadata-none
end
wait 3600
ready
metadata-none
end
wait 3600
ready
metadata-none
end
wait 3600
ready
metadata-none
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
[0] onAir 3 https://cdn.example/e3.mp3 "##" of "" art "" length 0
[0] say https://cdn.example/e3.mp3
[0] open https://cdn.example/e3.mp3
[0] seek 125
[0] play
[0] isPlaying true
[0] say https://cdn.example/e3.mp3
[0] say http://cdn.example/e3.mp3
[0] titleLabel Show Unlabeled
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
[3477] onAir 4 https://cdn.example/e4.mp3 "" of "" art "" length 0
[3477] say https://cdn.example/e4.mp3
[3477] close
[3477] open https://cdn.example/e4.mp3
[3477] seek 2
[3477] play
[3477] isPlaying true
[3477] say https://cdn.example/e4.mp3
[3477] say http://cdn.example/e4.mp3
[3477] titleLabel Unlabeled
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
[7077] onAir 5 https://cdn.example/e5.mp3 "Morning Show #42" of "" art "" length 0
[7077] say https://cdn.example/e5.mp3
[7077] close
[7077] open https://cdn.example/e5.mp3
[7077] seek 2
[7077] play
[7077] isPlaying true
[7077] say https://cdn.example/e5.mp3
[7077] say http://cdn.example/e5.mp3
[7077] titleLabel Unlabeled
[7077] isPlaying false
[7077] hasEnded true
[7077] titleLabel Next in 3600 secs...
[7077] wheelTurning true
[7077] wheelAngle 3000
[7077] wheelTurning false
[7077] wheelAngle 0
[10677] hasEnded false
[10677] load
[10677] say Days of podcast: 0
[10677] onAir 0 https://cdn.example/e0.mp3 "Morning Show #42" of "" art "" length 0
[10677] say https://cdn.example/e0.mp3
[10677] close
[10677] open https://cdn.example/e0.mp3
[10677] seek 2
[10677] play
[10677] isPlaying true
[10677] say https://cdn.example/e0.mp3
[10677] say http://cdn.example/e0.mp3
[10677] titleLabel Show 42
[10677] isPlaying false
[10677] hasEnded true
[10677] titleLabel Next in 3600 secs...
[10677] wheelTurning true
[10677] wheelAngle 3000
[10677] wheelTurning false
[10677] wheelAngle 0
[14277] hasEnded false
[14277] load
[14277] say Days of podcast: 0
[14277] onAir 1 https://cdn.example/e1.mp3 "Morning Mix" of "" art "" length 0
[14277] say https://cdn.example/e1.mp3
[14277] close
[14277] open https://cdn.example/e1.mp3
[14277] seek 2
[14277] play
[14277] isPlaying true
[14277] say https://cdn.example/e1.mp3
[14277] say http://cdn.example/e1.mp3
[14277] titleLabel Show morning mix
[14277] isPlaying false
[14277] hasEnded true
[14277] titleLabel Next in 3600 secs...
[14277] wheelTurning true
[14277] wheelAngle 3000
[14277] wheelTurning false
[14277] wheelAngle 0
[17877] hasEnded false
[17877] load
[17877] say Days of podcast: 0
[17877] onAir 2 https://cdn.example/e2.mp3 "A # B" of "" art "" length 0
[17877] say https://cdn.example/e2.mp3
[17877] close
[17877] open https://cdn.example/e2.mp3
[17877] seek 2
[17877] play
[17877] isPlaying true
[17877] say https://cdn.example/e2.mp3
[17877] say http://cdn.example/e2.mp3
[17877] titleLabel Show  b
