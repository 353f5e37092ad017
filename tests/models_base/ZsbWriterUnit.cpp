// The sample-data writer, compiled into this test program.
#include "tools/zsbgen/ZsbWriter.cpp"
#include "tools/zsbgen/StdKinds.cpp"
