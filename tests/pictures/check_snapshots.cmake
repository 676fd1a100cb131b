# Runs snapshots.vbs with --snapshots into a fresh folder and checks which
# pictures it wrote.
#   cmake -DQUIBOR15=path/to/quibor15 -DSCRIPT=snapshots.vbs -DDIR=folder -P check_snapshots.cmake
file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${QUIBOR15} run --snapshots ${DIR} ${SCRIPT} ${DIR}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code TIMEOUT 50)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "exit ${code}\n${out}\n${err}")
endif()
set(expected_out "a control: 13\nno folder: 75\n")
if(NOT out STREQUAL expected_out)
  message(FATAL_ERROR "printed:\n${out}\nexpected:\n${expected_out}")
endif()
file(GLOB pictures RELATIVE ${DIR} ${DIR}/*.png)
list(SORT pictures)
# Shown, clicked (the click on the disabled button reaches nothing), the
# dialog opening, the dialog typed into, and the one asked for.
set(expected 001-frmFirst.png 002-frmFirst.png 003-frmDialog.png 004-frmDialog.png asked.png)
if(NOT pictures STREQUAL expected)
  message(FATAL_ERROR "pictures: ${pictures}\nexpected: ${expected}")
endif()
file(REMOVE_RECURSE ${DIR})
