// Placeholder until the market simulator lands.
