# Events of a stream that has been replaced change nothing: its end, its
# title.
start 3:02:05
load
ready
keep-stream
end
wait 3477
ready
metadata Second #2
kept-ends
kept-metadata First #1
count
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
[0] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[0] say https://cdn.example/ep003.mp3
[0] open https://cdn.example/ep003.mp3
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
[3477] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[3477] say https://cdn.example/ep004.mp3
[3477] close
[3477] open https://cdn.example/ep004.mp3
[3477] seek 2
[3477] play
[3477] isPlaying true
[3477] titleLabel 2
[3477] streams 1 timers 2
