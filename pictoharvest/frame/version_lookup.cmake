# File version lookup.
