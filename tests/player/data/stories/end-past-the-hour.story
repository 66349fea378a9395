# An episode that ends past the hour leaves the label alone; the restart
# still comes 2 s into the next slot by the wall clock.
start 3:02:05
load
ready
wait 3471
stall
position 3600.5
wait 1
end
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
[0] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[0] say https://cdn.example/ep003.mp3
[0] open https://cdn.example/ep003.mp3
[0] seek 125
[0] play
[0] isPlaying true
[1] wheelTurning true
[1] wheelAngle -360
[3472] isPlaying false
[3472] hasEnded true
[3472] wheelAngle 3000
[3472] wheelTurning false
[3472] wheelAngle 0
[3477] hasEnded false
[3477] load
[3477] say Days of podcast: 0
[3477] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "" art "" length 0
[3477] say https://cdn.example/ep004.mp3
[3477] close
[3477] open https://cdn.example/ep004.mp3
