# Files of this subsystem: core logic in quenlark_core, windows in quenlark_widgets.
