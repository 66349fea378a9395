# An episode URL that is no URL: said in the alert (replacing the feed's
# error while it is up), and the countdown to the next slot, which plays.
start 3:02:05
feed 0
item audio/mpeg https://cdn.example/a.mp3
item audio/mpeg not-a-url
feed-not-found
load
feed-works
wait 5
wait 3472
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
[0] say feedNotFound
[0] errorMessage Feed not found
[0] showingAlert true
[5] load
[5] say Days of podcast: 0
[5] showingAlert false
[5] onAir 1 not-a-url "" of "" art "" length 0
[5] say not-a-url
[5] say Could not convert file to load to a URL
[5] errorMessage Could not convert file to load to a URL
[5] showingAlert true
[5] hasEnded true
[5] titleLabel Next in 3472 secs...
[5] wheelTurning true
[5] wheelAngle 3000
[3477] hasEnded false
[3477] load
[3477] say Days of podcast: 0
[3477] onAir 0 https://cdn.example/a.mp3 "" of "" art "" length 0
[3477] say https://cdn.example/a.mp3
[3477] open https://cdn.example/a.mp3
