/*
 * The resource module qm50c1.xrs holds strings only; this file gives the shared library
 * its one translation unit.
 */
