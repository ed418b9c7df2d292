# Binding of the DEVMODE access library and the PDEV's setting accessors over it.
list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dma_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_settings.cpp
)
