# The stream's own title labels the episode: the last piece between "#"s,
# lower-cased; nothing usable (only hashes, empty, not text) is "# Unknown".
start 3:02:05
load
ready
metadata Morning Show #123
metadata ###
metadata Episode Five
metadata-empty
metadata Über #ÄRGER
metadata-number 42
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
[0] titleLabel 123
[0] titleLabel # Unknown
[0] titleLabel episode five
[0] titleLabel # Unknown
[0] titleLabel ärger
[0] titleLabel # Unknown
