list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/colour_analysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compress_component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_compression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_coder.cpp
)
# JPEG through libjpeg where the build has it (the host's, the target's cross-built one);
# without it no image is JPEG-compressed.
if(TARGET qm::jpeg)
  list(APPEND QM_PDL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/jpeg_output.cpp)
  set(QM_PDL_LIBS ${QM_PDL_LIBS} qm::jpeg)
else()
  list(APPEND QM_PDL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/jpeg_absent.cpp)
endif()
