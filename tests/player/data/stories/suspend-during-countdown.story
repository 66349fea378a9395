# Asleep through the countdown: on waking the restart is overdue and comes
# within a second, not after the rest of a timer that stood still.
start 3:02:05
load
ready
end
jump 3600
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
[0] isPlaying false
[0] hasEnded true
[0] titleLabel Next in 3477 secs...
[0] wheelTurning true
[0] wheelAngle 3000
[0] wheelTurning false
[0] wheelAngle 0
[1] say The clock jumped by 3600 s; following it
[1] hasEnded false
[1] load
[1] say Days of podcast: 0
[1] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[1] say https://cdn.example/ep004.mp3
[1] close
[1] open https://cdn.example/ep004.mp3
[1] seek 126
[1] play
[1] isPlaying true
