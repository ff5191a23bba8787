// work in progress
