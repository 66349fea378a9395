# A suspend within the slot: the wall clock leaps 1800 s, the stream did not
# move. That is a jump to follow (seek to the live second), not a stall; a
# real stall is reopened after 30 s of monotonic time.
start 3:02:05
load
ready
jump 1800
wait 40
stall
wait 33
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
[1] say The clock jumped by 1800 s; following it
[1] wheelTurning true
[1] wheelAngle -360
[5] say The stream is -1800 s off the live second; moving it there
[5] seek 1930
[70] say Playback stalled: the stream has not moved for 30 s
[70] isPlaying false
[70] close
[70] wheelTurning false
[70] wheelAngle 0
[72] open https://cdn.example/ep003.mp3
