// The translation unit that builds a precompiled header (cmake/pch.cmake).
