# The wall clock moves an hour ahead, then two back: each time the episode on
# air plays, from the known feed, at its second.
start 3:02:05
load
ready
jump 3600
wait 1
ready
jump -7200
wait 1
ready
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
[1] say The clock jumped by 3600 s; following it
[1] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[1] say https://cdn.example/ep004.mp3
[1] close
[1] open https://cdn.example/ep004.mp3
[1] wheelTurning true
[1] wheelAngle -360
[1] seek 126
[1] play
[2] say The clock jumped by -7200 s; following it
[2] onAir 2 https://cdn.example/ep002.mp3 "Show #2" of "" art "" length 0
[2] say https://cdn.example/ep002.mp3
[2] close
[2] open https://cdn.example/ep002.mp3
[2] seek 127
[2] play
