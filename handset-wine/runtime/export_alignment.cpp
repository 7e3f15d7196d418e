// The last of a DLL's read-only data, on a 4-byte boundary: lld-link puts
// the export directory it writes right behind the read-only data, aligned
// only to 2 bytes, and Wine's loader reads its 4-byte fields with aligned
// loads, which take an alignment fault under qemu-arm (a real ARM kernel
// would fix them up). Grouped sections sort by name, so ".rdata$~" comes
// last.
alignas(4) __attribute__((section(".rdata$~"), used)) static const unsigned int readOnlyDataEnd = 0;
