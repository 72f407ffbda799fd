# The opening screen, as it comes up.
start
