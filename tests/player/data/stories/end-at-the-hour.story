# The label counts from where the stream ended (3600 s: "Next in 2 secs"),
# the restart from the wall clock, 2 s into the next slot.
start 3:02:05
load
ready
wait 3470
stall
position 3600
wait 1
end
wait 5.999
wait 0.001
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
[3471] isPlaying false
[3471] hasEnded true
[3471] titleLabel Next in 2 secs...
[3471] wheelAngle 3000
[3471] wheelTurning false
[3471] wheelAngle 0
[3477] hasEnded false
[3477] load
[3477] say Days of podcast: 0
[3477] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[3477] say https://cdn.example/ep004.mp3
[3477] close
[3477] open https://cdn.example/ep004.mp3
