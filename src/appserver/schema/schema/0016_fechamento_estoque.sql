-- The stock periods the stock module has closed per branch: no posting may enter stock on a day up to the last
-- closed one without a release.
CREATE TABLE FECHAESTOQUE (
    CDFILIAL     VARCHAR(4) NOT NULL REFERENCES FILIAL (CDFILIAL),
    DTFECHAMENTO DATE       NOT NULL,
    PRIMARY KEY (CDFILIAL, DTFECHAMENTO)
);
