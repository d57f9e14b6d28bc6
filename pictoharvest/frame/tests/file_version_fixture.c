/* Code of the modules that carry the test version resources. */
int __declspec(dllexport) FixtureMarker(void) { return 1; }
