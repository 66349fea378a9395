# An episode that ends before its first tick (its slot is further along than
# it is long) waits from the clock's second, not from the last episode's time.
start 3:02:05
load
ready
wait 1
end
wait 3477
ready
wait 0.5
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
[0] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[0] say https://cdn.example/ep003.mp3
[0] open https://cdn.example/ep003.mp3
[0] seek 125
[0] play
[0] isPlaying true
[1] wheelTurning true
[1] wheelAngle -360
[1] isPlaying false
[1] hasEnded true
[1] titleLabel Next in 3476 secs...
[1] wheelAngle 3000
[1] wheelTurning false
[1] wheelAngle 0
[3477] hasEnded false
[3477] load
[3477] say Days of podcast: 0
[3477] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[3477] say https://cdn.example/ep004.mp3
[3477] close
[3477] open https://cdn.example/ep004.mp3
[3478] seek 3
[3478] play
[3478] isPlaying true
[3478.5] isPlaying false
[3478.5] hasEnded true
[3478.5] titleLabel Next in 3599 secs...
[3478.5] wheelTurning true
[3478.5] wheelAngle 3000
[3478.5] wheelTurning false
[3478.5] wheelAngle 0
[7077] hasEnded false
[7077] load
[7077] say Days of podcast: 0
[7077] onAir 5 https://cdn.example/ep005.mp3 "Show #5" of "" art "" length 0
[7077] say https://cdn.example/ep005.mp3
[7077] close
[7077] open https://cdn.example/ep005.mp3
