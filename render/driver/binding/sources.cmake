# Binding of the DEVMODE access library.
list(APPEND QM_RENDER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/dma_binding.cpp)
