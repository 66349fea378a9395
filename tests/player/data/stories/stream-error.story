# A stream error reopens the episode after 2 s, then 5 s..., at the live
# second; a retry that fails again says nothing new.
start 3:02:05
load
ready
wait 10
fail Could not open resource
wait 2
fail still down
wait 5
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
[10] say Playback failed: Could not open resource
[10] isPlaying false
[10] close
[10] wheelTurning false
[10] wheelAngle 0
[12] open https://cdn.example/ep003.mp3
[12] close
[17] open https://cdn.example/ep003.mp3
[17] seek 142
[17] play
[17] isPlaying true
[18] wheelTurning true
[18] wheelAngle -360
[18] streams 1 timers 2
