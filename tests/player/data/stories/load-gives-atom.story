# A feed that cannot be used is said once (a line and the alert), tried again
# quietly after 5 s, 15 s, 30 s..., and the first good one joins the
# broadcast at its live second.
start 3:02:05
feed-is-atom
load
dismiss
wait 20
feed-is-rss
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
[0] say The podcast feed is an Atom feed, not an RSS feed
[0] errorMessage The podcast feed is an Atom feed, not an RSS feed
[0] showingAlert true
[0] showingAlert false
[5] load
[20] load
[50] load
[50] say Days of podcast: 0
[50] onAir 3 https://cdn.example/ep003.mp3 "Show #3" of "" art "" length 0
[50] say https://cdn.example/ep003.mp3
[50] open https://cdn.example/ep003.mp3
[50] seek 175
[50] play
[50] isPlaying true
