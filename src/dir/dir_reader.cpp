// Placeholder until the directory reader lands.
