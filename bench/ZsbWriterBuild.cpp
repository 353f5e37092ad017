// The sample-data writer of tools/zsbgen, compiled once into the benchmark
// program for every benchmark that builds its speaker data in memory.
#include "tools/zsbgen/ZsbWriter.cpp"
