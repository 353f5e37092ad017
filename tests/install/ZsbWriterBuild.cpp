// The sample-data writer of tools/zsbgen, compiled into this test program so
// that the automatic-installation scene can build real speaker data.
#include "tools/zsbgen/ZsbWriter.cpp"
#include "tools/zsbgen/ArrayKinds.cpp"
