// Stand-in source for a target whose folder has no sources (yet).
