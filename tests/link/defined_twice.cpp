// Built into two libraries so that the one-definition check is seen to fail.
int LinkCheck_DefinedTwice() { return 1; }
