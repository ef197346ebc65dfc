target_sources(corvel_ui PRIVATE
    shell/Text.h
    shell/Text.cpp
)
