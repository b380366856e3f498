-- The version of this code-table database, shown by the chooser and the About page: the first
-- row in descending order of the text column.
CREATE TABLE DATABASE_VERSION (DATABASE_VERSION TEXT COLLATE NOCASE);
INSERT INTO DATABASE_VERSION VALUES ('10');
INSERT INTO DATABASE_VERSION VALUES ('11');
INSERT INTO DATABASE_VERSION VALUES ('12');
