a file, not a folder
