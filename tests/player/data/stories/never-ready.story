# A stream that never gets ready within 30 s is reopened.
start 3:02:05
load
wait 32
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
[30] say Playback failed: the episode did not start within 30 s
[30] close
[32] open https://cdn.example/ep003.mp3
