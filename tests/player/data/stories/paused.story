# Paused, the radio lets the stream go and the schedule runs on unheard (no
# stall, no error); the media controls see the next slot come on air; play
# rejoins it at its live second.
start 3:02:05
feed-title Loop
load
ready
pause
wait 3600
time
play
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
[0] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "Loop" art "" length 0
[0] say https://cdn.example/ep003.mp3
[0] open https://cdn.example/ep003.mp3
[0] seek 125
[0] play
[0] isPlaying true
[0] paused true
[0] isPlaying false
[0] close
[3475] onAir 4 https://cdn.example/ep004.mp3 "Show #4" of "Loop" art "" length 0
[3600] time 00:00 position 125
[3600] paused false
[3600] say https://cdn.example/ep004.mp3
[3600] open https://cdn.example/ep004.mp3
[3600] seek 125
[3600] play
[3600] isPlaying true
