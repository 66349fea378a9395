# mm:ss from the stream's position: minutes unwrapped, seconds truncated,
# negative seconds as printf gives them.
start 3:02:05
load
ready
stall
position 0
wait 1
time
position 65.9
wait 1
time
position 3725
wait 1
time
position -5
wait 1
time
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
[1] wheelTurning true
[1] wheelAngle -360
[1] time 00:00 position 0
[2] time 01:05 position 65.9
[3] time 62:05 position 3725
[4] time 00:-5 position -5
