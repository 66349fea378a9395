# The network is down at launch: the copy kept from before plays, the alert
# says why, and the first fresh read withdraws it without touching playback.
start 3:02:05
feed-kept offline
load
ready
feed-fresh
wait 5
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
[0] say internalError(offline)
[0] errorMessage Internal unresolved error: offline
[0] showingAlert true
[0] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[0] say https://cdn.example/ep003.mp3
[0] open https://cdn.example/ep003.mp3
[0] seek 125
[0] play
[0] isPlaying true
[1] wheelTurning true
[1] wheelAngle -360
[5] load
[5] say Days of podcast: 0
[5] showingAlert false
