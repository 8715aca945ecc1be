-- Version database of the installation: the tool shows the highest entry on its version screen.
CREATE TABLE VersionNumber (
    Id INTEGER PRIMARY KEY,
    VersionNumber TEXT NOT NULL,
    Released TEXT
);
INSERT INTO VersionNumber (VersionNumber, Released) VALUES ('0.9.0', '2024-03-18');
INSERT INTO VersionNumber (VersionNumber, Released) VALUES ('1.0.0', '2024-06-03');
