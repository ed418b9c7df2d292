/*
 * The resource module qmkelvir.xrs holds resources only; this file gives the shared
 * library its one translation unit.
 */
