# An hour of radio. The slot on air (3 of 10, 2 min 5 s in) plays from its
# second; each tick turns the reels and the clock face; the end at 50:00.7
# counts down 602 s and the restart comes exactly 2 s into the next slot,
# which plays its own episode. One stream and two timers remain.
start 3:02:05
load
ready
wait 1
time
wait 2874.7
end
wait 601.299
wait 0.001
ready
wait 1
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
[1] wheelTurning true
[1] wheelAngle -360
[1] time 02:06 position 126
[2875.7] isPlaying false
[2875.7] hasEnded true
[2875.7] titleLabel Next in 602 secs...
[2875.7] wheelAngle 3000
[2875.7] wheelTurning false
[2875.7] wheelAngle 0
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
[3478] wheelTurning true
[3478] wheelAngle -360
[3478] streams 1 timers 2
