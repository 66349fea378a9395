# A clock set before the broadcast began plays nothing and says so once;
# put right, the slot on air plays within a second and the alert goes.
start -0:01:40
load
wait 30
jump 200
wait 1
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
[0] say The system clock is set before the broadcast began (2020-09-13 12:26:40 UTC)
[0] errorMessage The system clock is set before the broadcast began (2020-09-13 12:26:40 UTC)
[0] showingAlert true
[31] say The clock jumped by 200 s; following it
[31] showingAlert false
[31] onAir 0 https://cdn.example/ep000.mp3 "Show #0" of "" art "" length 0
[31] say https://cdn.example/ep000.mp3
[31] open https://cdn.example/ep000.mp3
