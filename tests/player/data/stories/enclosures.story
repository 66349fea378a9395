# Audio enclosures are episodes when an item has no audio Media RSS content;
# URLs that are not http, https or file are skipped with a line, never opened.
start 3:02:05
feed 0
item - - | enclosure=https://cdn.example/enclosed.mp3
item audio/mpeg data:audio/mpeg;base64,AAAA
item audio/mpeg fd://0
load
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
[0] say Skipped an episode that is not http, https or file: data:audio/mpeg;base64,AAAA
[0] say Skipped an episode that is not http, https or file: fd://0
[0] say Days of podcast: 0
[0] onAir 0 https://cdn.example/enclosed.mp3 "" of "" art "" length 0
[0] say https://cdn.example/enclosed.mp3
[0] open https://cdn.example/enclosed.mp3
[0] seek 125
[0] play
[0] isPlaying true
