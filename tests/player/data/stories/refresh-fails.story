# The hourly refresh fails: the known feed plays the next slot anyway, the
# trouble is said once, and it is retried quietly in the background.
start 3:02:05
load
ready
end
feed-not-found
wait 3477
ready
dismiss
end
wait 3600
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
[3477] hasEnded false
[3477] load
[3477] say feedNotFound
[3477] errorMessage Feed not found
[3477] showingAlert true
[3477] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[3477] say https://cdn.example/ep004.mp3
[3477] close
[3477] open https://cdn.example/ep004.mp3
[3477] seek 2
[3477] play
[3477] isPlaying true
[3477] showingAlert false
[3477] isPlaying false
[3477] hasEnded true
[3477] titleLabel Next in 3600 secs...
[3477] wheelTurning true
[3477] wheelAngle 3000
[3477] wheelTurning false
[3477] wheelAngle 0
[3482] load
[3497] load
[3527] load
[3587] load
[3707] load
[7077] hasEnded false
[7077] load
[7077] onAir 5 https://cdn.example/ep005.mp3 "Show #5" of "" art "" length 0
[7077] say https://cdn.example/ep005.mp3
[7077] close
[7077] open https://cdn.example/ep005.mp3
[7077] seek 2
[7077] play
[7077] isPlaying true
