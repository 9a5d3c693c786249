// The main window: construction, data exchange and the baud-rate display.
