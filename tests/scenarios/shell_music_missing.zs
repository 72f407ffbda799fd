# Without the music file the player is still told to open it (from the current folder, the last
# place looked in), and the splash opens and works as ever.
remove "{program}/Internet.mid"
start
expect music file "{dir}/Internet.mid"
expect window frmSplash visible
click frmSplash
expect window menu visible
expect music "open play pause"
