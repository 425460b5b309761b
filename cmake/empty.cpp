// The shared library is made of the layer archives; this file only gives it a source.
