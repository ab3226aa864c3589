// The link checks' program: it does nothing; linking it is the check.
int main() { return 0; }
