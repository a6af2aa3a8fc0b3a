# The program run from a shell (commandline.h): no widgets, so that writing the analysis files,
# the table of projects and the summary needs no display. Included by CMakeLists.txt after the zuvrack target.
qt_add_library(zuvrack_commandline STATIC commandline.h commandline.cpp)
target_link_libraries(zuvrack_commandline
    PUBLIC zuvrack_model zuvrack_files zuvrack_wizard zuvrack_freeedit zuvrack_report zuvrack_advisor Qt6::Core
    PRIVATE zuvrack_options)
target_link_libraries(zuvrack PRIVATE zuvrack_commandline)
# The samples menu reads a project as the command line does.
target_link_libraries(zuvrack_shell PUBLIC zuvrack_commandline)
target_compile_definitions(zuvrack PRIVATE ZUVRACK_VERSION="${PROJECT_VERSION}")
