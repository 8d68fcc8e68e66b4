TarvelPlayListFile&$$$!@@#!(&*&#^@%%@
EmptyPlayList
