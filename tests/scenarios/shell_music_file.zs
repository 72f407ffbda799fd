# The music is looked up beside the program first, then in the current folder; without it the
# splash still opens and works.
start
expect music file "{program}/Internet.mid"
key frmSplash "x"
expect program ended
