# A feed without one audio episode cannot be scheduled: said once, retried.
start 3:02:05
feed 0
item image/png https://x/cover.png
load
wait 20
feed 10
wait 30
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
[0] say The podcast feed has no audio episodes
[0] errorMessage The podcast feed has no audio episodes
[0] showingAlert true
[5] load
[20] load
[50] load
[50] say Days of podcast: 0
[50] showingAlert false
[50] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[50] say https://cdn.example/ep003.mp3
[50] open https://cdn.example/ep003.mp3
[50] seek 175
[50] play
[50] isPlaying true
