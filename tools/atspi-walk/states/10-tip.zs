# The tip of the day, opened from the data-entry window's menu.
start
click frmSplash
click menu.sugger
expect window frmTip visible
