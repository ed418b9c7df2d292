/* A resource-only module has no code; this empty unit lets the linker make it. */
