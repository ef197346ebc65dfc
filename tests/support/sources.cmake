target_sources(corvel_tests PRIVATE
    support/test_main.cpp
    support/ShellRecorder.h
    support/ShellRecorder.cpp
    support/TempDir.h
    support/FileSizeLimit.h
    support/PtyPeer.h
    support/RequireTool.h
    support/PtyPeer.cpp
    support/PortOneDevice.h
    support/PaintCounter.h
    support/Screenshot.h
    support/Screenshot.cpp
    support/ModalScript.h
    support/ModalScript.cpp
    support/WorkbookReader.h
    support/WorkbookReader.cpp
)
