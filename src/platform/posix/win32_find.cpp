// Placeholder until the directory search stand-in lands.
