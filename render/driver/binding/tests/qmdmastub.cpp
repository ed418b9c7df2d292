/* Stand-in of the DEVMODE access library: its one export, dma_GetValue, is the driver core's. */
