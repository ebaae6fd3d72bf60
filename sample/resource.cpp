// Dialog 1000 travels inside the executable as the text of dlgsample.rc, in a section of its own
// named dlgsample_rc. The program never reads it: the window is built by calls alone.
__asm__(
    ".pushsection dlgsample_rc,\"a\"\n"
    ".incbin \"" DLGSAMPLE_RC
    "\"\n"
    ".popsection\n");
