// Placeholder until the C runtime stand-ins land.
