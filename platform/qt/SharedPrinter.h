#pragma once
// The program's one printer: File > Print Setup... sets it up and printing
// uses it.

class QPrinter;

QPrinter& SharedPrinter();
