# Data files copied beside the binaries (declared by each area).
