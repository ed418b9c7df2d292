/* A module of the binding tests without code of its own; this empty unit lets the linker make it. */
