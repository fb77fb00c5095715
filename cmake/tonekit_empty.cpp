// tonekit.so is built entirely from tonekit_lib; a shared library target needs one source.
