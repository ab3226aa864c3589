#pragma once

// File errors are reported in one numbering: 53 file not found, 57 device I/O error, 61 disk
// full, 67 too many files, 68 device unavailable, 70 permission denied, 71 disk not ready,
// 75 path or file access error, 76 path not found. This maps a system errno value onto it.
// A write-protected file, folder or medium is 75, as it always was; a failure with no closer
// number is 75 too.
int fileErrorNumber(int errnoValue);
