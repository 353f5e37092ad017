// The sample-data writer of tools/zsbgen, compiled into this test program
// so that the scenes can build their speaker data in memory.
#include "tools/zsbgen/ZsbWriter.cpp"
// The array kinds' default layouts (module counts, axis blocks, balloons).
#include "tools/zsbgen/ArrayKinds.cpp"
